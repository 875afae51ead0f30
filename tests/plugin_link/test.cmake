# The program exports its own symbols, so that the host call read_counter.cpp defines is
# the one the loaded plug-in reaches.
set_target_properties(test_plugin_link PROPERTIES ENABLE_EXPORTS ON)
