# One GoogleTest executable for the windows. Its own main creates the QApplication first, so it
# does not link gtest_main.
find_package(Qt6 REQUIRED COMPONENTS Test)
file(GLOB gui_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/gui/*.cpp)
add_executable(gui_tests ${gui_test_sources})
set_target_properties(gui_tests PROPERTIES AUTOMOC ON)
target_include_directories(gui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(gui_tests PRIVATE ui test_support Qt6::Test GTest::gtest)
gtest_discover_tests(gui_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "PELLORA_SOURCE_DIR=${CMAKE_SOURCE_DIR};QT_QPA_PLATFORM=offscreen")
