tallix_add_fuzzer(fuzz_command_line SOURCE fuzz_command_line.cpp CORPUS fuzz/command_line
                  LIBS tallix::tallix_driver tallix::tallix_batch)
