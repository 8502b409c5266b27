tallix_add_fuzzer(fuzz_viewer_command_line SOURCE fuzz_viewer_command_line.cpp
                  CORPUS fuzz/viewer_command_line LIBS tallix::tallix_viewer_cli)
