# SPDX-License-Identifier: GPL-3.0-or-later
# Safe opening of inputs, file identity and printable names (QtCore), and the export's
# temporary-file clean-up and single read of each input.
add_library(vandrix_hardening STATIC
  formats/FileIdentity.cpp formats/FileIdentity.h
  formats/InputFile.cpp formats/InputFile.h
  model/PrintableName.cpp model/PrintableName.h
)
target_include_directories(vandrix_hardening PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vandrix_hardening PUBLIC Qt6::Core)
set_target_properties(vandrix_hardening PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(vandrix_core PUBLIC vandrix_hardening)
target_sources(vandrix_export PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/export/ExportInput.cpp ${CMAKE_CURRENT_LIST_DIR}/export/ExportInput.h
  ${CMAKE_CURRENT_LIST_DIR}/export/TempFiles.cpp ${CMAKE_CURRENT_LIST_DIR}/export/TempFiles.h
)
