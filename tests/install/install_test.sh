#!/bin/sh
# The Debian package as a user gets it: built by CPack, its file list checked, lintian,
# desktop-file-validate and appstreamcli run on it, unpacked into a scratch root (dpkg -x), then
# the installed programs run as an ordinary user (nobody when run as root) with a fresh home,
# under Xvfb: the program itself, etat, and the windows of the package's layout driven by
# installed_program_test. Nothing may be written under the unpacked /usr.
# Usage: install_test.sh BUILD_DIR INSTALLED_PROGRAM_TEST USER_TEMPLATE.json
# Exit 77 (skipped) only when a tool is missing.
set -eu
build=$1
program_test=$2
user_template_json=$3

for tool in dpkg-deb lintian desktop-file-validate appstreamcli xvfb-run setpriv; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "IGNORÉ : $tool absent (installez les paquets de TEST_PACKAGES, cmake/packages.sh)"
        exit 77
    fi
done

fail() {
    echo "ÉCHEC : $*" >&2
    exit 1
}

scratch=$(mktemp -d /tmp/tombage-paquet.XXXXXX)
chmod 755 "$scratch"
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

echo "== Paquet"
cmake --build "$build" --target package >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tombage_${version}_amd64.deb"
[ -f "$deb" ] || fail "$deb absent"

echo "== Contenu"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/files"
for file in /usr/bin/tombage /usr/bin/etat /usr/bin/etat-concepteur \
    /usr/share/tombage/Tombage.etf /usr/share/tombage/Tombage.pdf /usr/share/tombage/Chargement.pdf \
    /usr/share/tombage/exemples/equipes_poule_a.csv /usr/share/tombage/exemples/groupe_b.htm \
    /usr/share/applications/fr.tombage.Tombage.desktop /usr/share/applications/etat-concepteur.desktop \
    /usr/share/mime/packages/tombage.xml /usr/share/metainfo/fr.tombage.Tombage.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/tombage.svg \
    /usr/share/icons/hicolor/48x48/apps/tombage.png /usr/share/icons/hicolor/128x128/apps/tombage.png \
    /usr/share/icons/hicolor/256x256/apps/tombage.png \
    /usr/share/man/man1/tombage.1.gz /usr/share/man/man1/etat.1.gz \
    /usr/share/man/man1/etat-concepteur.1.gz \
    /usr/share/doc/tombage/copyright /usr/share/doc/tombage/changelog.gz; do
    grep -qx "$file" "$scratch/files" || fail "$file manque au paquet"
done
if grep -v '^/usr/' "$scratch/files" | grep -qv '^/$'; then
    fail "fichiers hors de /usr : $(grep -v '^/usr/' "$scratch/files" | tr '\n' ' ')"
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation libqt6widgets6 libqt6printsupport6 libc6; do
    echo "$depends" | grep -q "$package" || fail "Depends sans $package : $depends"
done

echo "== lintian"
lintian --allow-root "$deb" >"$scratch/lintian" 2>&1 || true
cat "$scratch/lintian"
if grep -q '^E:' "$scratch/lintian"; then fail "lintian signale des erreurs"; fi

echo "== Entrées de bureau, AppStream, types de fichiers"
root="$scratch/racine"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/fr.tombage.Tombage.metainfo.xml" ||
    fail "appstreamcli validate"
grep -qx 'Exec=etat-concepteur %f' "$root/usr/share/applications/etat-concepteur.desktop" ||
    fail "les modèles et les .etp ne s'ouvrent pas dans le concepteur"
grep -qx 'MimeType=application/x-tombage-template;application/x-tombage-prepared;' \
    "$root/usr/share/applications/etat-concepteur.desktop" ||
    fail "le concepteur n'ouvre pas les modèles et les états préparés"
if command -v update-mime-database >/dev/null 2>&1; then
    mkdir -p "$scratch/mime/packages"
    cp "$root/usr/share/mime/packages/tombage.xml" "$scratch/mime/packages/"
    update-mime-database "$scratch/mime" >/dev/null 2>&1
    grep -q 'application/x-tombage-template:\*\.etf' "$scratch/mime/globs2" || fail "*.etf non reconnu"
    grep -q 'application/x-tombage-prepared:\*\.etp' "$scratch/mime/globs2" || fail "*.etp non reconnu"
fi

# An ordinary user: nobody when run as root, else this user. The unpacked root belongs to root
# then, and cannot be written by nobody.
if [ "$(id -u)" -eq 0 ]; then
    as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups --reset-env -- "$@"; }
    user_id=65534
else
    as_user() { "$@"; }
    user_id=$(id -u)
    chmod -R a-w "$root"
fi
cp "$program_test" "$scratch/installed_program_test"
cp "$user_template_json" "$scratch/modele_arbitre.json"
chmod 755 "$scratch/installed_program_test"
chmod 644 "$scratch/modele_arbitre.json"
home="$scratch/maison"
mkdir -p "$home"
chown "$user_id" "$home" 2>/dev/null || true
find "$root" -printf '%p %s %m %T@\n' | sort >"$scratch/before"
touch "$scratch/stamp"

echo "== etat installé"
as_user env HOME="$home" PATH=/usr/bin:/bin "$root/usr/bin/etat" compile "$scratch/modele_arbitre.json" \
    "$home/modele_arbitre.etf" || fail "etat compile"
as_user env HOME="$home" PATH=/usr/bin:/bin "$root/usr/bin/etat" dump \
    "$root/usr/share/tombage/Tombage.etf" >/dev/null || fail "etat dump du modèle installé"

echo "== tombage installé, premier lancement sous Xvfb"
# It opens its window and the message that no draw was saved yet, and waits for the user:
# still running after 8 s is a good start (exit 124 from timeout).
status=0
as_user env HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    xvfb-run -a timeout 8 "$root/usr/bin/tombage" >"$scratch/tombage.log" 2>&1 || status=$?
cat "$scratch/tombage.log"
[ "$status" -eq 124 ] || fail "tombage s'est arrêté au démarrage (code $status)"
[ -d "$home/.local/share/tombage" ] || fail "dossier $home/.local/share/tombage non créé"
[ "$(stat -c %a "$home/.local/share/tombage")" = 700 ] || fail "dossier personnel non privé"
[ "$(stat -c %u "$home/.local/share/tombage")" = "$user_id" ] || fail "dossier personnel d'un autre"
rm -rf "$home/.local"

echo "== Chargement, tirage et impression dans les fenêtres du programme installé"
as_user env HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 TOMBAGE_INSTALLED_ROOT="$root" \
    TOMBAGE_USER_TEMPLATE="$home/modele_arbitre.etf" ${TOMBAGE_GRAB_DIR:+TOMBAGE_GRAB_DIR="$TOMBAGE_GRAB_DIR"} \
    xvfb-run -a "$scratch/installed_program_test" || fail "installed_program_test"
[ -f "$home/.local/share/tombage/tombage.DBP" ] || fail "tombage.DBP absent du dossier personnel"

echo "== Rien d'écrit sous /usr"
find "$root" -printf '%p %s %m %T@\n' | sort >"$scratch/after"
diff "$scratch/before" "$scratch/after" || fail "la racine installée a changé"
written=$(find /usr -xdev -newer "$scratch/stamp" -uid "$user_id" 2>/dev/null | head -5)
[ -z "$written" ] || [ "$user_id" -ne 65534 ] || fail "écrit sous /usr : $written"
echo "Paquet $deb : installé et lancé par l'utilisateur $user_id, rien d'écrit sous /usr"
