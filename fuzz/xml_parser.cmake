tallix_add_fuzzer(fuzz_xml_parser SOURCE fuzz_xml_parser.cpp CORPUS fuzz/xml LIBS tallix::tallix_xml)
