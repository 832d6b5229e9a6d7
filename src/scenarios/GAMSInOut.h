// The scenario model, the GAMS interface and the progressive hedging driver.
// Plain classes with public fields: every stage of a run reads and writes
// them directly.
#ifndef PHA_GAMSINOUT_H
#define PHA_GAMSINOUT_H

#include <cstdio>
#include <string>
#include <vector>

#include "DataContainers.h"
#include "TextLines.h"  // fexist

// One scenario: its settings-file parameters, penalty weights and latest decisions.
class SCENARIO {
public:
    double* data;        // parameters in settings-file order; null when there are none
    VECTOR* weights1;    // first-stage penalty weights
    VECTOR* weights2;    // second-stage penalty weights
    VECTOR* solution1;   // first-stage decision of the latest solve
    VECTOR* solution2;   // second-stage decision of the latest solve
    int numParameters;
    double probability;

    SCENARIO(int n1, int n2);
    SCENARIO(SCENARIO& s);  // deep copy
    SCENARIO& operator=(const SCENARIO&) = delete;
    ~SCENARIO();
};

// The scenario set: owns the records and the averages.
class SCENARIOS {
public:
    SCENARIO** scenarios;       // records in settings-file order; index k is scenario k+1
    VECTOR* averageSolution1;   // implementable first-stage decision
    VECTOR** averageSolution2;  // one second-stage vector per scenario
    int numScenarios;
    int numParameters;          // parameter count of the last scenario line
    int numVariables1;
    int numVariables2;
    double rho;                 // penalty parameter written into the models (code 300)
    std::string settingsFile;         // where the scenarios were read, for messages
    std::vector<long> settingsLines;  // the settings file's line of each scenario

    SCENARIOS(char* fileName, int nV1, int nV2);
    SCENARIOS(const SCENARIOS&) = delete;
    SCENARIOS& operator=(const SCENARIOS&) = delete;
    ~SCENARIOS();

    void saveAllScenarioSolutionsToFile(int it, double delta, FILE* f);
    void changeRho(double A);
    void checkInfeasibility(char* nameFile, int s);
    void updateAllWeights(double r);
    void printAllScenarioSolutions();
    void loadAllScenarioSolutionsFromLSTFiles();
    double calcTerminationCondition();
    void calcAverageSolution();
    void readScenarioFromLine(SCENARIO* s, char* line);
    void loadScenariosSettingFromFile(char* fileName);
    void printAllScenarios();
    // weightCodes false: the template has no weight or average codes (pha
    // writes its own terms), so any number of first-stage variables fits;
    // dataParameter: the template takes the values as phaData, so any number
    // of them fits.
    void checkIntegrity(double epsilon, bool weightCodes = true, bool dataParameter = false);
    void makeGAMSSourceFiles(char* templetName);
    static void readMatrixDataFromLSTFile(char* sourceFile, char* nameOfVariable, MATRIX& m);
    static void readVectorDataFromLSTFile(char* sourceFile, char* nameOfVariable, VECTOR& v);
    static void readObjValueFromLSTFile(char* sourceFile, char* nameOfVariable, SCALAR& s);
};

// The hedging driver: run parameters of one run; borrows the scenario set.
class PHA {
public:
    SCENARIOS* S;
    char* templet;   // file name of the model template
    char* pathGams;  // first line of pathGAMS.txt, exactly as read
    double eps;      // stop tolerance for delta
    double rho;      // penalty parameter of the weight update

    PHA(SCENARIOS* _S, char* dataFile, double e, double r);
    PHA(const PHA&) = delete;
    PHA& operator=(const PHA&) = delete;
    ~PHA();

    void runGAMSinParallel();
    void runPHA(int maxNumIter);
};

// Sum over the elements of u of (u[i] - v[i])^2; u gives the length.
double calcSquareOfVectors(VECTOR* u, VECTOR* v);

#endif
