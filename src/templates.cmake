# SPDX-License-Identifier: GPL-3.0-or-later
# True-size templates (DXF, SVG, tiled PDF) and rib sets: the geometry (QtCore and Clipper), the
# file writers (QtCore and dxflib), the painted pages (QtGui) and the export step over them.
find_package(PkgConfig REQUIRED)
pkg_check_modules(POLYCLIPPING REQUIRED IMPORTED_TARGET polyclipping)
pkg_check_modules(DXFLIB REQUIRED IMPORTED_TARGET dxflib)

add_library(vandrix_template_model STATIC
  model/RibGeometry.cpp model/RibGeometry.h
  model/RibLayout.cpp model/RibLayout.h)
target_include_directories(vandrix_template_model PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vandrix_template_model PUBLIC Qt6::Core PRIVATE PkgConfig::POLYCLIPPING)

add_library(vandrix_template_formats STATIC
  formats/TemplateDxf.cpp formats/TemplateDxf.h
  formats/TemplateSvg.cpp formats/TemplateSvg.h)
target_link_libraries(vandrix_template_formats PUBLIC vandrix_template_model
  PRIVATE PkgConfig::DXFLIB)

add_library(vandrix_template_render STATIC render/TemplatePages.cpp render/TemplatePages.h)
target_link_libraries(vandrix_template_render PUBLIC vandrix_template_model Qt6::Gui)

add_library(vandrix_template_export STATIC export/TemplateExport.cpp export/TemplateExport.h)
target_link_libraries(vandrix_template_export PUBLIC vandrix_template_formats
  vandrix_template_render vandrix_core)
target_link_libraries(vandrix_export PUBLIC vandrix_template_export)
target_sources(vandrix-export PRIVATE cli/TemplateOptions.cpp cli/TemplateOptions.h)
