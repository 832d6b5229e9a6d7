#include "FailureReport.h"

#include <cstdio>
#include <new>

#include "Exceptions.h"

int runReportingFailures(const std::function<void()>& run) {
    // The classes are not polymorphic: each handler names the exact class
    // whose message it prints, most specific first.
    try {
        run();
    } catch (const SumProbabilitiesException& e) {
        e.displayMessage();
        return kFailureStatus;
    } catch (const WrongInputParameter& e) {
        e.GeneralException::displayMessage();
        return kFailureStatus;
    } catch (const NumParametersException& e) {
        e.GeneralException::displayMessage();
        return kFailureStatus;
    } catch (const FileNotExists& e) {
        e.displayMessage();
        return kFailureStatus;
    } catch (const NoOccurenceOfVariableInLSTFile& e) {
        e.displayMessage();
        return kFailureStatus;
    } catch (const GeneralException& e) {
        e.displayMessage();
        return kFailureStatus;
    } catch (const std::bad_alloc&) {
        // Sizes are checked before the large allocations; this is what is left.
        std::printf(" > ERROR! The run needs more memory than this machine gives it (check --n1, --n2 and the "
                    "number of scenarios).\n");
        return kFailureStatus;
    } catch (...) {
        std::printf(" > ERROR! An unspecified exception occured.");
        return kFailureStatus;
    }
    return 0;
}
