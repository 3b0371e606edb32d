# Lets a running udev read its rules again and apply them to the devices that
# are already plugged in, so the user at the screen gets access at once. A
# staged install (DESTDIR) and a machine without udev (a container, a chroot)
# leave udev alone: the rule takes effect when udev starts.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
find_program(VX_UDEVADM udevadm PATHS /usr/bin /bin /usr/sbin /sbin)
if(NOT EXISTS "/run/udev/control" OR NOT VX_UDEVADM)
  message(STATUS "udev is not running here: the rule applies once udev starts")
  return()
endif()
execute_process(COMMAND "${VX_UDEVADM}" control --reload-rules RESULT_VARIABLE reload_result)
execute_process(COMMAND "${VX_UDEVADM}" trigger --action=change --subsystem-match=usb --subsystem-match=hidraw
                RESULT_VARIABLE trigger_result)
if(reload_result EQUAL 0 AND trigger_result EQUAL 0)
  message(STATUS "udev rules reloaded; plugged-in devices are handed to the user at the screen")
else()
  message(WARNING "udevadm failed (${reload_result}, ${trigger_result}): unplug and plug the device in again")
endif()
