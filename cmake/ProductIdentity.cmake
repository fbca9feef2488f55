# The product's identity, in one place: the version resource of every shipped program and DLL,
# the installer's manifest and the uninstall entry take it from here, the C++ code and the
# resource scripts through the generated header product_identity.h (in PRODUCT_IDENTITY_DIR).
set(PRODUCT_VERSION_MAJOR 1)
set(PRODUCT_VERSION_MINOR 2)
set(PRODUCT_VERSION_PATCH 1)
set(PRODUCT_VERSION ${PRODUCT_VERSION_MAJOR}.${PRODUCT_VERSION_MINOR}.${PRODUCT_VERSION_PATCH})
set(PRODUCT_COMPANY "Tarvik Labs")
set(PRODUCT_NAME "Printer Setup")

set(PRODUCT_IDENTITY_DIR ${CMAKE_BINARY_DIR}/product-identity)
configure_file(${CMAKE_SOURCE_DIR}/resources/product_identity.h.in ${PRODUCT_IDENTITY_DIR}/product_identity.h @ONLY)
