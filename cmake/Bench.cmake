# Benchmark drivers, built with the project and run by the scripts in bench/ (not tests).
if(TARGET quib_publishing)
  add_executable(quib_bench_open_save ${CMAKE_SOURCE_DIR}/bench/OpenSaveBench.cpp)
  target_link_libraries(quib_bench_open_save PRIVATE quib_publishing)
  target_precompile_headers(quib_bench_open_save REUSE_FROM quib_platform)
endif()
