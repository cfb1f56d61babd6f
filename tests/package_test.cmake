# SPDX-License-Identifier: MIT
# The files that make the program a desktop citizen, each checked by its own tool, and the
# Debian package that carries them. scripts/deps installs the tools; without one a test
# is skipped, not failed.
add_test(NAME desktop_entry_valid
    COMMAND sh -c "command -v desktop-file-validate >/dev/null || exit 77; desktop-file-validate \"$0\""
        ${PROJECT_SOURCE_DIR}/dist/voltiva.desktop)
add_test(NAME metainfo_valid
    COMMAND sh -c "command -v appstreamcli >/dev/null || exit 77; appstreamcli validate --no-net --strict \"$0\""
        ${PROJECT_SOURCE_DIR}/dist/org.example.voltiva.metainfo.xml)
add_test(NAME package_contents
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh
        ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/package-test)
set_tests_properties(desktop_entry_valid metainfo_valid package_contents PROPERTIES SKIP_RETURN_CODE 77)
