#include "update/families/identity_check.h"

#include "strings/common_texts.h"

namespace update::families {

Exit identity_check_fails(UpdateRun& run) {
  run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
  return Exit::close_and_finish;
}

}  // namespace update::families
