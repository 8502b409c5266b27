tallix_add_fuzzer(fuzz_db_text
    SOURCE db_text.cpp
    CORPUS db/fuzz
    LIBS tallix::tallix_db tallix::tallix_db_sqlite Qt6::Core)
