tallix_add_fuzzer(fuzz_report_document SOURCE fuzz_report_document.cpp
                  CORPUS fuzz/report_document LIBS tallix::tallix_reports)
