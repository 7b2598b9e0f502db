# The calendar player as visitors download it: calendar.js and calendar.css without their
# comments (they are for the player's developers), each under one licence line.
# Included by CopyContent.cmake; in script mode writes the copies of PLAYER_DIR into OUT_DIR:
#   cmake -DPLAYER_DIR=player -DOUT_DIR=/tmp/shipped -P cmake/ShipPlayer.cmake
# SPDX-License-Identifier: GPL-3.0-or-later

# Removes every /* ... */ block from the text in the variable named by var.
function(ship_strip_blocks var)
    set(text "${${var}}")
    set(out "")
    string(FIND "${text}" "/*" open)
    while(NOT open EQUAL -1)
        string(SUBSTRING "${text}" 0 ${open} before)
        string(APPEND out "${before}")
        math(EXPR after "${open} + 2")
        string(SUBSTRING "${text}" ${after} -1 text)
        string(FIND "${text}" "*/" close)
        if(close EQUAL -1)
            message(FATAL_ERROR "an unclosed comment in the player")
        endif()
        math(EXPR after "${close} + 2")
        string(SUBSTRING "${text}" ${after} -1 text)
        string(FIND "${text}" "/*" open)
    endwhile()
    set(${var} "${out}${text}" PARENT_SCOPE)
endfunction()

# Writes the shipped calendar.js and calendar.css of player_dir into out_dir.
function(ship_player player_dir out_dir)
    file(MAKE_DIRECTORY ${out_dir})
    foreach(name calendar.js calendar.css)
        file(READ ${player_dir}/${name} text)
        ship_strip_blocks(text)
        if(name STREQUAL "calendar.js")
            # Whole lines of // comments; a // after code stays.
            string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" text "${text}")
        endif()
        # Lines left empty by a removed comment.
        string(REGEX REPLACE "\n[ \t]*\n" "\n" text "${text}")
        string(REGEX REPLACE "^[ \t\n]+" "" text "${text}")
        file(WRITE ${out_dir}/${name}
             "/* Quorvel event calendar player. SPDX-License-Identifier: GPL-3.0-or-later */\n${text}")
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED PLAYER_DIR AND DEFINED OUT_DIR)
    ship_player(${PLAYER_DIR} ${OUT_DIR})
endif()
