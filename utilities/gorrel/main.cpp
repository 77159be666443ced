// Gorrel, the restore of the Quarn's preset files.
#include <memory>

#include "utilities/gorrel/GorrelApp.h"

int main(int argc, char* argv[]) {
    return utilities::RunUtilityProgram(
        argc, argv, [] { return std::unique_ptr<utilities::CUtilityApp>(new gorrel::CGorrelApp); });
}
