// Who writes the progressive hedging terms of a run, and the terms pha adds.
// A template whose solve statement minimises its --cost variable holds only
// the scenario model: pha then writes the weights, the average and rho into
// each scenario model as parameters of its own (phaW, phaXbar, phaRho), an
// objective phaObjective = cost + w'x + rho/2 ||x - xbar||^2 defined by the
// equation phaHedgedCost, and solves for it. A template that minimises a
// variable of its own keeps its own terms, as before.
#ifndef PHA_HEDGINGTERMS_H
#define PHA_HEDGINGTERMS_H

#include <string>
#include <vector>

#include "ScenarioModels.h"

// How the template declares the first-stage variable x.
enum class FirstStageKind { Continuous, Binary, Integer };
FirstStageKind firstStageKind(const ModelTemplate& tpl);

// Whether the template uses a code of a weight (@100..), an average (@200..),
// rho (@300) or a rho_j (@500..) outside comments.
bool usesHedgingCodes(const ModelTemplate& tpl);

// The objective variable that pha adds.
extern const char* const kAddedObjective;

struct HedgingTermsChoice {
    bool byPha = false;
    std::string objective;  // the variable the scenario models minimise
    std::string line;       // says which mode the run uses, on one line
};

// Terms by pha when the solve statement minimises `costVariable` and
// `objective` (from --objective or the solve statement) is that variable;
// else the template's own. Refuses (WrongInputParameter) a
// template that minimises its cost and also uses weight, average or rho codes
// (the terms would count twice), or uses a name that pha adds.
HedgingTermsChoice chooseHedgingTerms(const ModelTemplate& tpl, const std::string& costVariable,
                                      const std::string& objective);

// What pha adds to every model of a round.
struct AddedTerms {
    std::string costVariable;
    FirstStageKind kind = FirstStageKind::Continuous;
};

// The round's values of one scenario, as the models receive them.
struct TermValues {
    std::vector<double> weights;  // w_j; empty: weights off
    std::vector<double> average;  // xbar_j
    std::vector<double> rho;      // rho_j; empty: rho off (no proximal term)
    int digits = -1;              // as CodeStyle::digits
};

// `model` (an expanded scenario model) with pha's terms: the parameters and
// the objective's equation before the model statement, the equation in the
// model's list, and the solve statement minimising phaObjective. With a
// proximal term on a continuous or general integer x, an LP becomes a QCP and
// a MIP an MIQCP; for a binary x the term is linear (x^2 = x).
std::string withAddedTerms(const std::string& model, const std::string& sourceName, const AddedTerms& terms,
                           const TermValues& values);

#endif
