#include "remote/scpi_version.h"

namespace korvane::scpi {

const char* ProgramVersion() {
    return KORVANE_VERSION;
}

}  // namespace korvane::scpi
