# The program exports its own symbols, so that the host calls host_calls.cpp defines are
# the ones the loaded modules reach.
set_target_properties(test_plugin_network PROPERTIES ENABLE_EXPORTS ON)
