tallix_add_fuzzer(fuzz_viewer_filters
    SOURCE viewer_filters.cpp
    CORPUS fuzz/viewer_filters
    LIBS tallix::tallix_query Qt6::Core)
