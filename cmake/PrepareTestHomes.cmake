# Wipes and recreates the private home folder of every test (see StadionixTest.cmake).
foreach(home IN LISTS HOMES)
    file(REMOVE_RECURSE ${home})
    foreach(sub tmp config data cache runtime)
        file(MAKE_DIRECTORY ${home}/${sub})
    endforeach()
    # Qt insists on a runtime folder only the user can enter.
    file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
