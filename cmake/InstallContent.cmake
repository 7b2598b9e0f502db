# Copies the installation content (templates, layout and embed pages, the player, the user's
# manual) beside the programs in build/bin, so that the build tree works as an installed copy.
# SPDX-License-Identifier: GPL-3.0-or-later
set(QUORVEL_CONTENT_STAMP ${CMAKE_BINARY_DIR}/content.stamp)
file(GLOB_RECURSE QUORVEL_CONTENT_FILES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/template/* ${CMAKE_SOURCE_DIR}/files/* ${CMAKE_SOURCE_DIR}/player/calendar.* ${CMAKE_SOURCE_DIR}/manual/*)
add_custom_command(
    OUTPUT ${QUORVEL_CONTENT_STAMP}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DBIN_DIR=${QUORVEL_BIN_DIR}
            -P ${CMAKE_SOURCE_DIR}/cmake/CopyContent.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${QUORVEL_CONTENT_STAMP}
    DEPENDS ${QUORVEL_CONTENT_FILES} ${CMAKE_SOURCE_DIR}/cmake/CopyContent.cmake
            ${CMAKE_SOURCE_DIR}/cmake/ShipPlayer.cmake
    COMMENT "Laying out template/, files/ and manual/ in ${QUORVEL_BIN_DIR}")
add_custom_target(quorvel_content ALL DEPENDS ${QUORVEL_CONTENT_STAMP})
