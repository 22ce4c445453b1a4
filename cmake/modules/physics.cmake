# Physics world over Box2D: bodies by kind, shots, culling, ray casts.
add_library(nk_physics STATIC
    engine/PhysicsWorld.cpp
    engine/PhysicsSurfaces.cpp
    engine/PhysicsBodies.cpp
    engine/PhysicsDraw.cpp
    engine/RayCastManager.cpp)
target_link_libraries(nk_physics PUBLIC nk_stores box2d::box2d)
target_link_libraries(nk_engine INTERFACE nk_physics)

nk_add_test(test_physics LIBS nk_physics SOURCES
    tests/engine/physics/PhysicsStepTest.cpp tests/engine/physics/PhysicsRenewTest.cpp)

nk_add_bench(bench_physics LIBS nk_physics SOURCES bench/bench_physics.cpp)
