# Each subsystem folder under src/ builds into its own small libraries so that a half-finished
# subsystem never blocks building and testing the others:
#   core_<name>  from src/<name>/*.cpp      (no Qt; part of tabrix_core)
#   ui_<name>    from src/<name>/qt/*.cpp   (Qt Widgets; part of tabrix_ui)

function(tabrix_core_module name)
    cmake_parse_arguments(M "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    add_library(core_${name} STATIC ${sources})
    target_include_directories(core_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(core_${name} PUBLIC ${M_DEPENDS})
    set_property(GLOBAL APPEND PROPERTY TABRIX_CORE_MODULES core_${name})
endfunction()

function(tabrix_ui_module name)
    cmake_parse_arguments(M "" "DIR" "DEPENDS;EXCLUDE" ${ARGN})
    if(NOT M_DIR)
        set(M_DIR ${name}/qt)
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${M_DIR}/*.cpp
         ${PROJECT_SOURCE_DIR}/src/${M_DIR}/*.h ${PROJECT_SOURCE_DIR}/src/${M_DIR}/*.qrc)
    foreach(excluded ${M_EXCLUDE})
        list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/src/${M_DIR}/${excluded})
    endforeach()
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    add_library(ui_${name} STATIC ${sources})
    set_target_properties(ui_${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_include_directories(ui_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(ui_${name} PUBLIC Qt6::Widgets Qt6::PrintSupport ${M_DEPENDS})
    set_property(GLOBAL APPEND PROPERTY TABRIX_UI_MODULES ui_${name})
endfunction()

# tabrix_test(<name> <folder under tests/> LIBS ...): one GoogleTest executable per folder,
# each test case its own CTest entry so the suite runs in parallel.
function(tabrix_test name folder)
    cmake_parse_arguments(M "" "TIMEOUT" "LIBS" ${ARGN})
    if(NOT M_TIMEOUT)
        set(M_TIMEOUT 600)
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${M_LIBS} GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TABRIX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        TABRIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${M_TIMEOUT})
endfunction()
