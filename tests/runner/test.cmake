# The runner's recorder is tested on its own, compiled into this program.
target_sources(test_runner PRIVATE ${CMAKE_SOURCE_DIR}/apps/orvenet-sim/recorder.cpp)
