# The window layer (library ui over Qt Widgets and FluidSynth) and the program pellora.
# ui is every file of src/platform/qt, every *_dialog.cpp (and the *_dialog_*.cpp parts of a
# larger window) and the application object, so the
# GUI tests link all of it; pellora itself is only main.cpp.
find_package(Qt6 REQUIRED COMPONENTS Widgets Charts)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)

file(GLOB ui_sources CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/qt/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/*/*_dialog*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/quiz_app.cpp)
file(GLOB ui_headers CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/qt/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/*/*_dialog*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/app/quiz_app.h)
add_library(ui STATIC ${ui_sources} ${ui_headers})
set_target_properties(ui PROPERTIES AUTOMOC ON)
target_include_directories(ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(ui PUBLIC core Qt6::Widgets Qt6::Charts PkgConfig::FLUIDSYNTH)

# Resources are collected by folder, so a new template, bitmap or help file needs no list edit.
set(resource_root ${CMAKE_SOURCE_DIR}/res)
file(GLOB resource_files CONFIGURE_DEPENDS
  ${resource_root}/dialogs/*.json
  ${resource_root}/bitmaps/*.png
  ${resource_root}/help/*
  ${resource_root}/sample.wl
  ${resource_root}/default.mid)
if(resource_files)
  qt_add_resources(ui pellora_resources PREFIX "/" BASE ${resource_root} FILES ${resource_files})
endif()

add_executable(pellora main.cpp)
target_compile_definitions(pellora PRIVATE PELLORA_VERSION="${PROJECT_VERSION}")
target_link_libraries(pellora PRIVATE ui)

# Installed layout: the program with its launcher (which starts it in the learner's data
# folder), the shipped data files the launcher copies there on first use, and a desktop entry.
include(GNUInstallDirs)
install(TARGETS pellora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/harbor-lessons DESTINATION ${CMAKE_INSTALL_BINDIR})
set(data_dir ${CMAKE_INSTALL_DATADIR}/harbor-lessons)
install(FILES ${resource_root}/help/HARBORLESSONS.HLP DESTINATION ${data_dir})
install(FILES ${resource_root}/sample.wl DESTINATION ${data_dir} RENAME default.wl OPTIONAL)
install(FILES ${resource_root}/default.mid DESTINATION ${data_dir} OPTIONAL)
install(FILES ${resource_root}/harbor-lessons.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Word lists open with the program from a file manager: their MIME type, and the metadata
# software centres show.
install(FILES ${resource_root}/harbor-lessons-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME harbor-lessons.xml)
install(FILES ${resource_root}/org.harborlessons.HarborLessons.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${resource_root}/man/pellora.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${resource_root}/bitmaps/128.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
  RENAME harbor-lessons.png)
