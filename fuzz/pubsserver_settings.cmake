tallix_add_fuzzer(fuzz_pubsserver_settings
    SOURCE pubsserver_settings.cpp
    CORPUS fuzz/pubsserver
    LIBS tallix::tallix_pubsserver tallix::tallix_db Qt6::Core)
