#!/bin/bash
# Rebuilds the seed corpora in fuzz/seeds/<target>/ from the headless tool and the shipped
# language files: the readers' own valid files, so every fuzzer starts past the format checks.
# usage: bash fuzz/make_seeds.sh [path of korvaneawg-cli]   (default build/bin/korvaneawg-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/bin/korvaneawg-cli}
seeds=fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{fuzz_csv,fuzz_archive,fuzz_settings,fuzz_language,fuzz_scpi,fuzz_wave_text}

# One small waveform and one panel per wave type; the archive holds the CSV lines as UTF-16LE.
for type in 0 1 2 3 4 5 6 7 8; do
    "$cli" csv-write "$seeds/fuzz_csv/type$type.csv" --set waveType=$type --set pointCount=$((8 + type))
    iconv -f UTF-8 -t UTF-16LE "$seeds/fuzz_csv/type$type.csv" >"$seeds/fuzz_archive/type$type.bin"
    "$cli" settings-write "$seeds/fuzz_settings/type$type.set" --set waveType=$type \
        --set frequency=$((1000 * (type + 1))) --set extTrigger=$((type % 2))
done

cp resources/*.lug "$seeds/fuzz_language/"
printf '[App]\r\n1=File\r\n2=Edit\r\n[Form]\r\nLanguage=English\r\n' >"$seeds/fuzz_language/small.ini"

printf '*IDN?\n*RST\nSYST:ERR?\n*OPC?\n' >"$seeds/fuzz_scpi/common.txt"
printf 'FUNC SQU\nFREQ 1kHz\nVOLT 1.5\nVOLT:OFFS -0.5\nPHAS 0.25\nFUNC?\nFREQ?\n' >"$seeds/fuzz_scpi/panel.txt"
printf 'SOUR1:FUNC:SQU:DCYC 0.3\nFUNC:TRAP:RISE 0.1;HIGH 0.5\nFUNC:AMFM:DEPT 0.7\nFUNC:EXP:TCON 0.002\n' \
    >"$seeds/fuzz_scpi/shape.txt"
printf 'DATA:ARB 0.1,-0.2,1.5,0\nFUNC USER\nMEAS:FREQ?\nMEAS:MODE COUN\nCOUN:RES\nDIG:OUTP 255\nDIG:INP?\n' \
    >"$seeds/fuzz_scpi/data.txt"
printf 'SWE:STAR 100\nSWE:STOP 10000\nSWE:STEP 5\nSWE:STAT ON\nOUTP OFF\nOUTP:ATT 20\nTRIG:SOUR EXT\nTRIG:SLOP NEG\nSOUR2:OUTP?\n' \
    >"$seeds/fuzz_scpi/sweep.txt"

# The text wave importer starts from the test files: every separator and decimal mark.
cp tests/formats/data/{one_per_line.txt,time_volts.csv,zeit_spannung.csv,three_values.txt} \
    "$seeds/fuzz_wave_text/"
printf '0\t0,25\n1\t-0,5\n' >"$seeds/fuzz_wave_text/tab_comma.txt"
printf '  0   0.25\n1 -0.5\n' >"$seeds/fuzz_wave_text/blanks.txt"
