#!/usr/bin/env bash
# Makes the pictures under resources/: the two flag sets, the 16-pixel icons
# and the renderings of the program icon (resources/icons/vantor.svg).
#
#   tools/make_assets.sh [ZONE_TAB]
#
# Run by hand when the artwork changes and commit the results; the build only
# packs what is committed. With ZONE_TAB (zone.tab of tzdata 2021a) the
# country list below is checked against it first.
#
# Needs: rsvg-convert (librsvg2-bin), ImageMagick's convert (imagemagick),
# npm (to fetch the flag packages), famfamfam-silk (the 16-pixel icons).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
images=$root/resources/com/quorvane/images
icons=$root/resources/icons
silk=/usr/share/icons/silk/16x16

# Pinned so that a rerun gives the same pictures; resources/LICENSES.md names these.
flags_rect_pkg="country-flag-icons@1.6.20" # MIT, 3x2 SVGs
flags_round_pkg="circle-flags@2.8.3"       # MIT, drawn for a circle
flags_old_pkg="svg-country-flags@1.2.10"   # public domain, has the withdrawn AN

# The 247 country codes of zone.tab 2021a, which the zone-to-country table uses.
zone_codes="AD AE AF AG AI AL AM AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH
BI BJ BL BM BN BO BQ BR BS BT BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU
CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK FM FO FR GA GB GD
GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HN HR HT HU ID IE IL IM IN IO
IQ IR IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT
LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA
NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA
RE RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS ST SV SX SY SZ TC
TD TF TG TH TJ TK TL TM TN TO TR TT TV TW TZ UA UG UM US UY UZ VA VC VE VG VI VN
VU WF WS YE YT ZA ZM ZW"
# Codes the program has no flag for in either set: a missing file means "no flag".
no_flag="BQ CW SS SX YT"
# Codes the round set also goes without.
no_round_flag="AQ AX BL CC EH GF GG GP IM IO JE ME MF MP NC PS RE SH SJ TF TK UM"
# Codes no zone uses that the rectangular set still carries: the withdrawn AN
# (Netherlands Antilles) and the two uninhabited ISO 3166-1 territories without
# a zone, BV (Bouvet Island) and HM (Heard and McDonald Islands). With them the
# rectangular set covers every current ISO code except the five above.
rect_extra="AN BV HM"
# Of those, the round set carries only AN.
round_extra="AN"

expected_rect=245
expected_round=221

die() {
    echo "make_assets: $*" >&2
    exit 1
}

# the words of a text, one a line, sorted
words() { xargs -n1 <<<"$1" | sort -u; }
# words of $1 that are not in $2
minus() { comm -23 <(words "$1") <(words "$2"); }

for tool in rsvg-convert convert identify npm tar; do
    command -v "$tool" >/dev/null || die "$tool is missing (apt-get install librsvg2-bin imagemagick npm)"
done
convert -version | grep -q ImageMagick || die "convert is not ImageMagick's"
[[ -d $silk ]] || die "$silk is missing (apt-get install famfamfam-silk)"
[[ -f $icons/vantor.svg ]] || die "$icons/vantor.svg is missing"

if [[ $# -ge 1 ]]; then
    from_tab=$(awk -F'\t' '!/^#/ && NF >= 3 { print $1 }' "$1" | sort -u)
    [[ $from_tab == "$(words "$zone_codes")" ]] ||
        die "the country codes of $1 differ from the list in this script"
fi

[[ $(wc -w <<<"$zone_codes") -eq 247 ]] || die "the zone country list should hold 247 codes"
rect_codes=$(words "$(minus "$zone_codes" "$no_flag") $rect_extra")
round_codes=$(words "$(minus "$zone_codes" "$no_flag $no_round_flag") $round_extra")
[[ $(wc -l <<<"$rect_codes") -eq $expected_rect ]] ||
    die "rectangular set: $(wc -l <<<"$rect_codes") codes, expected $expected_rect"
[[ $(wc -l <<<"$round_codes") -eq $expected_round ]] ||
    die "round set: $(wc -l <<<"$round_codes") codes, expected $expected_round"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fetch() { # npm name@version -> folder holding its unpacked contents
    local dir=$tmp/${1%@*}
    mkdir -p "$dir"
    (cd "$dir" && npm pack --silent "$1" >/dev/null && tar -xzf ./*.tgz)
    echo "$dir/package"
}
echo "Fetching $flags_rect_pkg $flags_round_pkg $flags_old_pkg"
rect_src=$(fetch "$flags_rect_pkg")
round_src=$(fetch "$flags_round_pkg")
old_src=$(fetch "$flags_old_pkg")

# PNGs without time stamps or other text, so that reruns change no bytes.
save_png() { # source, destination
    convert "$1" -strip -define png:exclude-chunks=date,time,tEXt,zTXt "PNG32:$2"
}

# A flag drawn into a band of the square canvas (16x11 at +0+3, twice that for
# @2x), with a faint dark edge so that white flags (JP, FI, KR...) stay
# visible on a white window.
rect_flag() { # svg, size (16 or 32), output
    local svg=$1 size=$2 out=$3
    local h=$((size == 16 ? 11 : 22)) top=$((size == 16 ? 3 : 6))
    rsvg-convert -w "$size" -h "$h" "$svg" -o "$tmp/band.png"
    # the band is solid; librsvg leaves the last column a trace short of opaque
    convert "$tmp/band.png" -alpha opaque \
        \( -size "${size}x${h}" xc:none -fill none -stroke 'rgba(0,0,0,0.25)' -strokewidth 1 \
        -draw "rectangle 0,0 $((size - 1)),$((h - 1))" \) -composite \
        \( -size "${size}x${size}" xc:none \) +swap -geometry "+0+$top" -composite "$tmp/flag.png"
    save_png "$tmp/flag.png" "$out"
}

# Nepal's flag is a pennant, taller than wide: drawn whole on a clear canvas
# instead of stretched into the 3:2 band over a white field.
pennant_flag() { # svg, size, output
    local svg=$1 size=$2 out=$3
    sed -e 's|<path fill="#FFF" d="M0 0h513v342H0z"/>||' \
        -e 's|viewBox="0 0 513 342"|viewBox="0 -0.2 282 342.4"|' "$svg" >"$tmp/pennant.svg"
    if grep -q 'M0 0h513v342H0z' "$tmp/pennant.svg"; then die "NP: the white field was not removed"; fi
    rsvg-convert -h $((size * 13 / 16)) "$tmp/pennant.svg" -o "$tmp/band.png"
    convert -size "${size}x${size}" xc:none "$tmp/band.png" -gravity center -composite "$tmp/flag.png"
    save_png "$tmp/flag.png" "$out"
}

# The same faint edge around the disc, laid only onto the flag's own pixels.
round_flag() { # svg, size, output
    local svg=$1 size=$2 out=$3
    local mid=$((size / 2 - 1)).5
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$tmp/disc.png"
    convert "$tmp/disc.png" \
        \( -size "${size}x${size}" xc:none -fill none -stroke 'rgba(0,0,0,0.18)' -strokewidth 1 \
        -draw "circle $mid,$mid $mid,0" \) -compose atop -composite "$tmp/flag.png"
    save_png "$tmp/flag.png" "$out"
}

echo "Flags"
rm -rf "$images/flags-rectangle" "$images/flags-round"
mkdir -p "$images/flags-rectangle" "$images/flags-round"
for code in $rect_codes; do
    lower=${code,,}
    case $code in
        AN) svg=$old_src/svg/an.svg ;;
        *) svg=$rect_src/3x2/$code.svg ;;
    esac
    [[ -f $svg ]] || die "no rectangular flag for $code"
    draw=rect_flag
    [[ $code == NP ]] && draw=pennant_flag
    $draw "$svg" 16 "$images/flags-rectangle/flag-$lower.png"
    $draw "$svg" 32 "$images/flags-rectangle/flag-$lower@2x.png"
done
for code in $round_codes; do
    lower=${code,,}
    svg=$round_src/flags/$lower.svg
    [[ -f $svg ]] || die "no round flag for $code"
    round_flag "$svg" 16 "$images/flags-round/flag-$lower.png"
    round_flag "$svg" 32 "$images/flags-round/flag-$lower@2x.png"
done

echo "16-pixel icons"
mkdir -p "$images/16"
# program name <- Silk icon, chosen by meaning
while read -r name from; do
    [[ -f $silk/$from.png ]] || die "Silk has no $from.png"
    case $name in
        # GIF has no partial transparency: edge pixels are either kept whole or dropped.
        *.gif) convert "$silk/$from.png" -channel A -threshold 50% +channel -strip "GIF:$images/16/$name" ;;
        *) cp "$silk/$from.png" "$images/16/$name" ;;
    esac
done <<'EOF'
accessories-clock-3.png clock
dialog-apply.png accept
dialog-cancel-4.png delete
dialog-disable.png cancel
document-close-3.png cross
down_arrow.gif arrow_down
email-go.png email_go
exit.gif door_out
homepage.png house
media-floppy-3.5-2.png disk
preferences.png cog
up_arrow.gif arrow_up
user-new.png user_add
EOF

echo "Program icon"
icon() { # size, output
    rsvg-convert -w "$1" -h "$1" "$icons/vantor.svg" -o "$tmp/icon.png"
    mkdir -p "$(dirname "$2")"
    save_png "$tmp/icon.png" "$2"
}
icon 32 "$images/vantor.png"
icon 64 "$images/vantor@2x.png"
icon 16 "$images/16/vantor.png"
icon 32 "$images/16/vantor@2x.png"
for n in 16 32 48 64 128 256; do
    icon "$n" "$icons/hicolor/${n}x$n/apps/com.quorvane.Vantor.png"
done
mkdir -p "$icons/hicolor/scalable/apps"
cp "$icons/vantor.svg" "$icons/hicolor/scalable/apps/com.quorvane.Vantor.svg"

echo "Checking"
count() { find "$1" -maxdepth 1 -name "$2" | wc -l; }
check_set() { # folder, expected count
    local n1 n2
    n1=$(count "$1" 'flag-??.png')
    n2=$(count "$1" 'flag-??@2x.png')
    [[ $n1 -eq $2 && $n2 -eq $2 ]] || die "$1: $n1 + $n2@2x flags, expected $2 each"
}
check_set "$images/flags-rectangle" "$expected_rect"
check_set "$images/flags-round" "$expected_round"
for code in $no_flag; do
    for dir in flags-rectangle flags-round; do
        [[ ! -e $images/$dir/flag-${code,,}.png ]] || die "$dir must not have flag-${code,,}.png"
    done
done
for code in $no_round_flag; do
    [[ ! -e $images/flags-round/flag-${code,,}.png ]] || die "flags-round must not have flag-${code,,}.png"
done
for dir in flags-rectangle flags-round; do
    [[ -e $images/$dir/flag-an.png ]] || die "$dir lacks flag-an.png"
done

# every picture has the size its name promises
while IFS= read -r f; do
    case $f in
        */hicolor/*) want=$(basename "$(dirname "$(dirname "$f")")") ;;
        */images/vantor@2x.png) want=64x64 ;;
        */images/vantor.png | *@2x.png) want=32x32 ;;
        *) want=16x16 ;;
    esac
    got=$(identify -format '%wx%h' "$f")
    [[ $got == "$want" ]] || die "$f is $got, expected $want"
done < <(find "$images" "$icons/hicolor" -name '*.png' -o -name '*.gif')
for f in "$images"/16/*.gif; do
    [[ $(identify -format '%m' "$f") == GIF ]] || die "$f is not a GIF file"
done

echo "Done: $expected_rect rectangular and $expected_round round flags (each also @2x), $(count "$images/16" '*.*') icons in 16/"
