tallix_add_fuzzer(fuzz_settings_input
    SOURCE settings_input.cpp
    CORPUS fuzz/settings
    LIBS tallix::tallix_settings tallix::tallix_db Qt6::Core)
