// Fuzz target: the listing readers (vector, matrix and scalar) on one listing.
#include <cstdint>
#include <fstream>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream("fuzz-listing.lst", std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                              static_cast<std::streamsize>(size));
    char file[] = "fuzz-listing.lst";
    char x[] = "x", y[] = "y", z[] = "z";
    VECTOR first(3), second(2);
    MATRIX table(3, 3);
    SCALAR objective(0.0);
    auto attempt = [](auto read) {
        try {
            read();
        } catch (const GeneralException&) {
        }
    };
    attempt([&] { SCENARIOS::readVectorDataFromLSTFile(file, x, first); });
    attempt([&] { SCENARIOS::readVectorDataFromLSTFile(file, y, second); });
    attempt([&] { SCENARIOS::readMatrixDataFromLSTFile(file, x, table); });
    attempt([&] { SCENARIOS::readObjValueFromLSTFile(file, z, objective); });
    return 0;
}
