# What `cmake --install` puts in place: the program (its pictures and layouts are compiled
# into it), the desktop entry, the icon in the hicolor theme and the AppStream metainfo.
# One reverse-DNS id names the desktop file, the icon and the metainfo.
include(GNUInstallDirs)

set(ITARNVALE_APP_ID "org.itarnvale.iTarnvale")
string(TIMESTAMP ITARNVALE_RELEASE_DATE "%Y-%m-%d" UTC)
set(ITARNVALE_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icons/itarnvale.svg)
set(ITARNVALE_LINUX_DIR ${CMAKE_BINARY_DIR}/linux)

configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/itarnvale.desktop.in
               ${ITARNVALE_LINUX_DIR}/${ITARNVALE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/itarnvale.metainfo.xml.in
               ${ITARNVALE_LINUX_DIR}/${ITARNVALE_APP_ID}.metainfo.xml @ONLY)

target_compile_definitions(itarnvale PRIVATE ITARNVALE_APP_ID="${ITARNVALE_APP_ID}")
install(TARGETS itarnvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ITARNVALE_LINUX_DIR}/${ITARNVALE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ITARNVALE_LINUX_DIR}/${ITARNVALE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ITARNVALE_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ITARNVALE_APP_ID}.svg)

# The fixed-size icons are drawn from the one SVG at build time.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_files)
  foreach(size 48 128 256)
    set(png ${ITARNVALE_LINUX_DIR}/icons/${size}/${ITARNVALE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${ITARNVALE_LINUX_DIR}/icons/${size}
                       COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ITARNVALE_ICON_SVG}
                       DEPENDS ${ITARNVALE_ICON_SVG}
                       COMMENT "Rendering the ${size}x${size} application icon")
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(itarnvale_icons ALL DEPENDS ${icon_files})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) not found: the installation lacks the PNG icons")
endif()
