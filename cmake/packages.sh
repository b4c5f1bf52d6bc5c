# Debian 12 packages, sourced by run.sh, test.sh and .ci/run.
BUILD_PACKAGES="cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev libqt6sql6-sqlite libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core cups-client qt6-translations-l10n"
TEST_PACKAGES="nginx xvfb cups cups-filters printer-driver-cups-pdf poppler-utils qpdf dpkg-dev lintian desktop-file-utils appstream shared-mime-info hicolor-icon-theme"
CI_PACKAGES="clang libclang-rt-14-dev clang-format python3"
