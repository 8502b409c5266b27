tallix_add_fuzzer(fuzz_details_data
    SOURCE details_data.cpp
    CORPUS fuzz/details
    LIBS tallix::tallix_details tallix::tallix_restore Qt6::Core)
