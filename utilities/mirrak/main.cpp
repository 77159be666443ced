// Mirrak, the duplicator: copies every file and folder of one Quarn to another.
#include <memory>

#include "utilities/mirrak/MirrakApp.h"

int main(int argc, char* argv[]) {
    return utilities::RunUtilityProgram(
        argc, argv, [] { return std::unique_ptr<utilities::CUtilityApp>(new mirrak::CMirrakApp); });
}
