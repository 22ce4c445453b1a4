# The editor's actions timed on the stress level and the largest shipped ones.
nk_add_bench(bench_editor LIBS dovra_game SOURCES bench/bench_editor.cpp)
if(TARGET bench_editor)
    add_dependencies(bench_editor stress_map)
endif()
