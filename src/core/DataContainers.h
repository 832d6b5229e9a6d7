// Plain owned arrays of doubles: the value types of the whole program.
// Elements are 0-based; `isEmpty` stays true until a listing reader has
// found the container's variable.
#ifndef PHA_DATACONTAINERS_H
#define PHA_DATACONTAINERS_H

class VECTOR {
public:
    double* data;
    int size;
    bool isEmpty;

    VECTOR(int s);
    ~VECTOR();
    // A memberwise copy would share the storage; values are copied element by element instead.
    VECTOR(const VECTOR&) = delete;
    VECTOR& operator=(const VECTOR&) = delete;

    void printVector();
};

class MATRIX {
public:
    double** data;
    int rows;
    int cols;
    bool isEmpty;

    MATRIX(int r, int c);
    ~MATRIX();
    MATRIX(const MATRIX&) = delete;
    MATRIX& operator=(const MATRIX&) = delete;

    void printMatrix();
};

class SCALAR {
public:
    double data;
    bool isEmpty;

    SCALAR(double s);

    void printScalar();
};

#endif
