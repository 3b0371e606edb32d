#pragma once
// The procedure of the products whose flashing this build does not carry: it
// ends where the family's identity check would refuse the attached device.
#include "update/update_engine.h"

namespace update::families {

// update_error_code 2 with "Not the recognized device"; close-and-finish.
Exit identity_check_fails(UpdateRun& run);

}  // namespace update::families
