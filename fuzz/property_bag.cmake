tallix_add_fuzzer(fuzz_property_bag
    SOURCE fuzz_property_bag.cpp
    CORPUS fuzz/property_bag
    LIBS tallix::solido3d Qt6::Widgets)
