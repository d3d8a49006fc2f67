#!/usr/bin/env bash
# Checks the Debian package that `make package` built: unpacks it into a
# scratch folder, runs the unpacked tevra-batch, looks for the files a user
# needs, validates the software centres' description and runs the
# thumbnailer's command line on an example layout.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls -t build/tevra_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "check-package: no build/tevra_*.deb (make package first)" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
root="$scratch/usr"

"$root/bin/tevra-batch" --version

missing=0
for f in bin/tevra bin/tevra-batch bin/libextsrc.so bin/libdbbrdg.so \
         share/applications/tevra.desktop share/mime/packages/tevra.xml \
         share/icons/hicolor/scalable/apps/tevra.svg share/dbus-1/services/org.tevra.Tevra.service \
         share/dbus-1/interfaces/org.tevra.Application.xml share/metainfo/org.tevra.Tevra.metainfo.xml \
         share/thumbnailers/tevra.thumbnailer share/man/man1/tevra-batch.1 share/doc/tevra/manual.md \
         share/tevra/ARRL.DX share/tevra/examples/postcard.tvd share/tevra/examples/sample.adi \
         share/tevra/screenshots/window.png; do
  if [ ! -e "$root/$f" ]; then echo "check-package: missing /usr/$f" >&2; missing=1; fi
done
[ "$missing" -eq 0 ]
grep -q "Exec=/usr/bin/tevra --automation" "$root/share/dbus-1/services/org.tevra.Tevra.service"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libuchardet0 fonts-ipafont-mincho; do
  case "$depends" in *"$lib"*) ;; *) echo "check-package: Depends lacks $lib: $depends" >&2; exit 1 ;; esac
done

appstreamcli validate --no-net "$root/share/metainfo/org.tevra.Tevra.metainfo.xml"

# The thumbnailer's own line, with the unpacked program.
line=$(sed -n 's/^Exec=//p' "$root/share/thumbnailers/tevra.thumbnailer")
line=${line/tevra-batch/$root/bin/tevra-batch}
line=${line/\%s/128}
line=${line/\%i/$root/share/tevra/examples/postcard.tvd}
line=${line/\%o/$scratch/thumbnail.png}
$line
head -c 8 "$scratch/thumbnail.png" | od -An -c | grep -q "P   N   G"
echo "check-package: $deb is complete"
