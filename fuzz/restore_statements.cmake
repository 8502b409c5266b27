tallix_add_fuzzer(fuzz_restore_statements
    SOURCE fuzz_restore_statements.cpp
    CORPUS fuzz/restore_statements
    LIBS tallix::tallix_restore Qt6::Core)
