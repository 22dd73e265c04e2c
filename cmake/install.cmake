# Installing the game as Linux programs are: the programs in bin/, their data in share/korvant
# (found from bin/ as ../share/korvant), the desktop entry, icons, AppStream data and man pages.
set(KORVANT_SHARE ${CMAKE_INSTALL_DATADIR}/korvant)
set(KORVANT_APP_ID org.korvant.Korvant)

install(TARGETS korvant-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KORVANT_DATA_OUT}/korvant.ini ${KORVANT_DATA_OUT}/tav.dat ${KORVANT_DATA_OUT}/tav_en.dat DESTINATION ${KORVANT_SHARE})
install(DIRECTORY ${KORVANT_DATA_OUT}/help DESTINATION ${KORVANT_SHARE})

foreach(page korvant korvant-sim)
  configure_file(${CMAKE_SOURCE_DIR}/data/man/${page}.6.in ${CMAKE_BINARY_DIR}/man/${page}.6 @ONLY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/man/korvant-sim.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

if(KORVANT_GUI)
  install(TARGETS korvant RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KORVANT_DATA_OUT}/korvant.png ${KORVANT_DATA_OUT}/korvant_en.png DESTINATION ${KORVANT_SHARE})
  install(DIRECTORY ${KORVANT_DATA_OUT}/music DESTINATION ${KORVANT_SHARE})
  install(FILES ${CMAKE_BINARY_DIR}/man/korvant.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${KORVANT_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${CMAKE_SOURCE_DIR}/data/desktop/${KORVANT_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${KORVANT_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${KORVANT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  foreach(size 48 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/icons/korvant_${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME korvant.png)
  endforeach()
  install(FILES ${CMAKE_BINARY_DIR}/icons/korvant.svg DESTINATION ${icons}/scalable/apps)
endif()
