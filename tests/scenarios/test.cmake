# The bundled scenarios run through the runner's own console and recorder.
target_sources(test_scenarios PRIVATE ${CMAKE_SOURCE_DIR}/apps/orvenet-sim/console.cpp
                                      ${CMAKE_SOURCE_DIR}/apps/orvenet-sim/recorder.cpp)
