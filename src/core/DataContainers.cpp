#include "DataContainers.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Zero-filled storage; a failed allocation is reported instead of being used.
// A negative count is taken as zero, so no container has a negative size.
template <typename T>
T* zeroFilled(int count) {
    if (count <= 0) return nullptr;
    T* p = static_cast<T*>(std::calloc(static_cast<size_t>(count), sizeof(T)));
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

}  // namespace

VECTOR::VECTOR(int s) : data(nullptr), size(s < 0 ? 0 : s), isEmpty(true) {
    data = zeroFilled<double>(size);
    for (int i = 0; i < size; i++) data[i] = 0.0;
}

VECTOR::~VECTOR() {
    std::free(data);
    data = nullptr;
}

void VECTOR::printVector() {
    std::printf("\n");
    for (int i = 0; i < size; i++) std::printf("%15.5f\n", data[i]);
    std::printf("\n");
}

MATRIX::MATRIX(int r, int c) : data(nullptr), rows(r < 0 ? 0 : r), cols(c < 0 ? 0 : c), isEmpty(true) {
    data = zeroFilled<double*>(rows);
    try {
        for (int i = 0; i < rows; i++) data[i] = zeroFilled<double>(cols);
    } catch (...) {
        for (int i = 0; i < rows; i++) std::free(data[i]);
        std::free(data);
        throw;
    }
}

MATRIX::~MATRIX() {
    for (int i = 0; i < rows && data != nullptr; i++) std::free(data[i]);
    std::free(data);
    data = nullptr;
}

void MATRIX::printMatrix() {
    std::printf("MATRIX:\n");
    for (int i = 0; i < rows; i++) {
        for (int j = 0; j < cols; j++) std::printf("%15.2f", data[i][j]);
        std::printf("\n");
    }
    std::printf("\n");
}

SCALAR::SCALAR(double s) : data(s), isEmpty(true) {}

void SCALAR::printScalar() { std::printf("OBJECTIVE VALUE: %15.2f\n\n", data); }
