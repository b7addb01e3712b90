# SPDX-License-Identifier: GPL-3.0-or-later
# The window toolkit (ui/) and the accessibility layer (accessibility/) serve
# every window alike: neither names a window or a control of one. Each window
# says what it needs of them through their interfaces.
#   cmake -DSOURCE_DIR=<top of the sources> -P layernames.cmake
set(named_window "ChooserForm|RecognitionDrillForm|SequenceDrillForm|WordOrderForm|FormId::[A-Z]")
set(named_control "\"((Label|Text|Command|List|Option|Frame|Timer|MMControl)[0-9]+|Mnu_[A-Za-z_]+|liv[0-9a-z]+)\"")
file(GLOB sources ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/ui/*.cpp
                  ${SOURCE_DIR}/accessibility/*.h ${SOURCE_DIR}/accessibility/*.cpp)
set(found "")
foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "${named_window}|${named_control}")
    foreach(line IN LISTS lines)
        string(APPEND found "${source}: ${line}\n")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "A window or a control named in a shared layer:\n${found}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files of ui/ and accessibility/ name no window and no control")
