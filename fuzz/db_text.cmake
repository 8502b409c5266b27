tallix_add_fuzzer(fuzz_db_text
    SOURCE db_text.cpp
    CORPUS db/fuzz
    LIBS tallix::tallix_db Qt6::Core)
