# Script mode: SOURCE_DIR, BIN_DIR.
# SPDX-License-Identifier: GPL-3.0-or-later
file(REMOVE_RECURSE ${BIN_DIR}/template ${BIN_DIR}/files ${BIN_DIR}/manual ${BIN_DIR}/README.md)
file(MAKE_DIRECTORY ${BIN_DIR}/template ${BIN_DIR}/files)
file(COPY ${SOURCE_DIR}/files/ DESTINATION ${BIN_DIR}/files)
file(COPY ${SOURCE_DIR}/template/ DESTINATION ${BIN_DIR}/template)
# Every template carries the player it runs on, as visitors download it.
include(${CMAKE_CURRENT_LIST_DIR}/ShipPlayer.cmake)
file(GLOB templates LIST_DIRECTORIES true ${BIN_DIR}/template/*)
foreach(t IN LISTS templates)
    if(IS_DIRECTORY ${t} AND EXISTS ${SOURCE_DIR}/player/calendar.js)
        ship_player(${SOURCE_DIR}/player ${t})
    endif()
endforeach()
# The user's manual, which Help opens.
file(COPY ${SOURCE_DIR}/manual DESTINATION ${BIN_DIR})
