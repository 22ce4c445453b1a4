#!/usr/bin/env bash
# Builds the Debian package (`make package`) from a configured build folder,
# puts dovra_<version>_amd64.deb in this folder and checks it with lintian,
# desktop-file-validate and appstreamcli, failing on any error.
# Usage: tools/make-package.sh [BUILD]
set -eu
cd "$(dirname "$0")/.."
build="${1:-build}"
# Playing from this folder writes progress into the pack files; a package must
# ship them as committed, every level but the first of a pack locked.
if git rev-parse --git-dir >/dev/null 2>&1 &&
    ! git diff --quiet HEAD -- Resources/LevelPacks Editor/Levels 2>/dev/null; then
    echo "Resources/LevelPacks or Editor/Levels differ from the last commit;" >&2
    echo "git checkout Resources/LevelPacks Editor/Levels puts them back." >&2
    exit 1
fi
cmake --build "$build" -j"${JOBS:-2}" --target dovra_packaged
# A new version gets its entry in the changelog and a release in the metainfo.
version=$("$build"/bin/dovra --version | sed -n '1s/.* //p')
if ! head -n1 packaging/changelog | grep -qF "dovra ($version)" ||
    ! grep -qF "<release version=\"$version\"" packaging/dovra.metainfo.xml; then
    echo "version $version has no entry on top of packaging/changelog or no release" >&2
    echo "in packaging/dovra.metainfo.xml" >&2
    exit 1
fi

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/package/dovra_*_amd64.deb | head -n1)
cp "$deb" .
deb=$(basename "$deb")
echo "package: $deb"
dpkg-deb --field "$deb" Depends | sed 's/^/Depends: /'

status=0
echo "lintian:"
lintian --fail-on error --tag-display-limit 0 "$deb" || status=1
echo "desktop-file-validate:"
desktop-file-validate packaging/dovra.desktop || status=1
echo "appstreamcli validate:"
# The ID is not reverse-DNS while Dovra has no domain of its own (see the
# comment in the metainfo file); the validator has no network here.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
    packaging/dovra.metainfo.xml || status=1
exit $status
