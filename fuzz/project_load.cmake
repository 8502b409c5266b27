tallix_add_fuzzer(fuzz_project_load SOURCE fuzz_project_load.cpp CORPUS fuzz/project
    LIBS tallix::tallix_project)
