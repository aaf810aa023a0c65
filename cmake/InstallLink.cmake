# Run at install time (see Install.cmake): installs the link ZEM_LINK in ZEM_LINK_DIR under
# the prefix, leading to the absolute path ZEM_LINK_TARGET. The link is relative where the
# target lies under the prefix too (the package's /usr), as Debian wants links within one
# tree; absolute otherwise, so that a tree installed elsewhere, and moved, still finds it.
set(dir ${CMAKE_INSTALL_PREFIX}/${ZEM_LINK_DIR})
cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX ${ZEM_LINK_TARGET} NORMALIZE under_prefix)
if(under_prefix)
    file(RELATIVE_PATH target ${dir} ${ZEM_LINK_TARGET})
else()
    set(target ${ZEM_LINK_TARGET})
endif()

# Each prefix gets a link of its own to install from, so installs into different prefixes
# (the tests' scratch prefix and the package) can run side by side.
string(MD5 prefix_key "${dir}")
set(staged ${ZEM_LINK_STAGING}/${prefix_key}/${ZEM_LINK})
file(MAKE_DIRECTORY ${ZEM_LINK_STAGING}/${prefix_key})
file(CREATE_LINK ${target} ${staged} SYMBOLIC)
file(INSTALL DESTINATION ${dir} TYPE FILE FILES ${staged})
