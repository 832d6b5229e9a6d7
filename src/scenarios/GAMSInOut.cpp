// Scenario records and the scenario set: construction, copy and release.
#include "GAMSInOut.h"

#include <cstdlib>
#include <cstring>
#include <new>

double calcSquareOfVectors(VECTOR* u, VECTOR* v) {
    double sum = 0.0;
    // The loop length comes from u; v is never read past its own end.
    int n = u->size < v->size ? u->size : v->size;
    for (int i = 0; i < n; i++) {
        double d = u->data[i] - v->data[i];
        sum += d * d;
    }
    for (int i = n; i < u->size; i++) sum += u->data[i] * u->data[i];
    return sum;
}

namespace {

VECTOR* copyOf(const VECTOR* source) {
    VECTOR* copy = new VECTOR(source->size);
    for (int i = 0; i < source->size; i++) copy->data[i] = source->data[i];
    return copy;
}

// What a record owns; also used when its construction fails halfway, since
// no destructor runs for a record that was never complete.
void releaseRecord(SCENARIO& s) {
    std::free(s.data);
    s.data = nullptr;
    delete s.weights1;
    delete s.weights2;
    s.weights1 = s.weights2 = nullptr;
    delete s.solution1;
    delete s.solution2;
    s.solution1 = s.solution2 = nullptr;
}

// Likewise for the whole set.
void releaseSet(SCENARIOS& set) {
    for (int k = 0; k < set.numScenarios; k++) {
        if (set.scenarios != nullptr) delete set.scenarios[k];
        if (set.averageSolution2 != nullptr) delete set.averageSolution2[k];
    }
    std::free(set.scenarios);
    std::free(set.averageSolution2);
    set.scenarios = nullptr;
    set.averageSolution2 = nullptr;
    set.numScenarios = 0;
    delete set.averageSolution1;
    set.averageSolution1 = nullptr;
}

}  // namespace

SCENARIO::SCENARIO(int n1, int n2)
    : data(nullptr), weights1(nullptr), weights2(nullptr), solution1(nullptr), solution2(nullptr),
      numParameters(0), probability(0.0) {
    try {
        weights1 = new VECTOR(n1);
        weights2 = new VECTOR(n2);
        solution1 = new VECTOR(n1);
        solution2 = new VECTOR(n2);
    } catch (...) {
        releaseRecord(*this);
        throw;
    }
}

SCENARIO::SCENARIO(SCENARIO& s)
    : data(nullptr), weights1(nullptr), weights2(nullptr), solution1(nullptr), solution2(nullptr),
      numParameters(s.numParameters), probability(s.probability) {
    try {
        if (numParameters >= 1) {
            data = static_cast<double*>(std::malloc(sizeof(double) * static_cast<size_t>(numParameters)));
            if (data == nullptr) throw std::bad_alloc();
            std::memcpy(data, s.data, sizeof(double) * static_cast<size_t>(numParameters));
        }
        weights1 = copyOf(s.weights1);
        weights2 = copyOf(s.weights2);
        solution1 = copyOf(s.solution1);
        solution2 = copyOf(s.solution2);
    } catch (...) {
        releaseRecord(*this);
        throw;
    }
}

SCENARIO::~SCENARIO() { releaseRecord(*this); }

SCENARIOS::SCENARIOS(char* fileName, int nV1, int nV2)
    : scenarios(nullptr), averageSolution1(nullptr), averageSolution2(nullptr), numScenarios(0),
      numParameters(0), numVariables1(nV1), numVariables2(nV2), rho(0.0) {
    try {
        averageSolution1 = new VECTOR(nV1);
        loadScenariosSettingFromFile(fileName);
        averageSolution2 = static_cast<VECTOR**>(std::calloc(static_cast<size_t>(numScenarios) + 1, sizeof(VECTOR*)));
        if (averageSolution2 == nullptr) throw std::bad_alloc();
        for (int k = 0; k < numScenarios; k++) averageSolution2[k] = new VECTOR(nV2);
    } catch (...) {
        // A half-built set is released here, since no destructor runs for it.
        releaseSet(*this);
        throw;
    }
}

SCENARIOS::~SCENARIOS() { releaseSet(*this); }
