#include "update/families/camera_disk_copy.h"

#include <string>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/update_texts.h"

namespace update::families {

namespace {

// "<reason> <code>. Try again." after the failure prefix.
void fail_with_code(UpdateRun& run, const char* code) {
  run.show_failure([code](int language) {
    return platform::format("%@ %@. %@.", UpdateTexts::vyla_string_cannot_get_status_in(language), code,
                            CommonTexts::vyla_string_try_again_in(language));
  });
}

}  // namespace

bool camera_disk_copy(UpdateRun& run) {
  // camera disk on
  fail_with_code(run, "[1][0]");
  return false;
}

}  // namespace update::families
