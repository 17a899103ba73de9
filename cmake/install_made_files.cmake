# Run while installing (see install.cmake): writes into vx_made the files whose content depends on
# the install prefix or that are installed compressed. Expects vx_source, vx_made, vx_app_id and
# vx_gamesdir.
file(MAKE_DIRECTORY "${vx_made}")

if(IS_ABSOLUTE "${vx_gamesdir}")
  set(vx_game "${vx_gamesdir}/vextoron")
else()
  set(vx_game "${CMAKE_INSTALL_PREFIX}/${vx_gamesdir}/vextoron")
endif()
file(READ "${vx_source}/${vx_app_id}.desktop" vx_entry)
string(REGEX REPLACE "\nExec=vextoron\n" "\nExec=${vx_game}\n" vx_installed_entry "${vx_entry}")
if(vx_installed_entry STREQUAL vx_entry)
  message(FATAL_ERROR "${vx_app_id}.desktop has no line 'Exec=vextoron' to point at ${vx_game}")
endif()
file(WRITE "${vx_made}/${vx_app_id}.desktop" "${vx_installed_entry}")

# gzip -n leaves out the name and time, so the same page gives the same bytes.
foreach(vx_page IN ITEMS vextoron.6 changelog)
  execute_process(COMMAND gzip -9nc "${vx_source}/${vx_page}" OUTPUT_FILE "${vx_made}/${vx_page}.gz"
                  RESULT_VARIABLE vx_gzip)
  if(NOT vx_gzip EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${vx_source}/${vx_page}")
  endif()
endforeach()
