tallix_add_fuzzer(fuzz_script_names SOURCE fuzz_script_names.cpp CORPUS fuzz/script_names
                  LIBS tallix::tallix_driver)
