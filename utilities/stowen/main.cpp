// Stowen, the backup of the Quarn's preset files.
#include <memory>

#include "utilities/stowen/StowenApp.h"

int main(int argc, char* argv[]) {
    return utilities::RunUtilityProgram(
        argc, argv, [] { return std::unique_ptr<utilities::CUtilityApp>(new stowen::CStowenApp); });
}
