# Start-up benchmark: the app against a bare tray + QML probe, on Xvfb with
# trayer (startup_bench.sh). `make bench` runs it as ordlen_bench_startup.
qt_add_executable(startup_probe startup_probe.cpp
  ${CMAKE_SOURCE_DIR}/src/app/StartupTrace.cpp ${CMAKE_SOURCE_DIR}/src/app/StartupTrace.h)
target_include_directories(startup_probe PRIVATE ${CMAKE_SOURCE_DIR}/src/app)
target_link_libraries(startup_probe PRIVATE Qt6::Widgets Qt6::Quick)

file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/ordlen_bench_startup
  CONTENT "#!/usr/bin/env bash\nexec bash '${CMAKE_CURRENT_SOURCE_DIR}/startup_bench.sh' '$<TARGET_FILE:ordlen>' '$<TARGET_FILE:startup_probe>' '${CMAKE_SOURCE_DIR}' \"$@\"\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
