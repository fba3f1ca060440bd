#include "numtext/float_check.h"

namespace numtext {

void vbaFPException() {
    throw FloatingPointError();
}

}  // namespace numtext
