tallix_add_fuzzer(fuzz_viewer_filters
    SOURCE viewer_filters.cpp
    CORPUS fuzz/viewer_filters
    LIBS tallix::tallix_query tallix::tallix_db_sqlite Qt6::Core)
