#!/usr/bin/env bash
# Takes the README's screenshots again: the demo's scripted session at three
# sizes in en-US and fr-CA, on Qt's offscreen platform, into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=${1:-build/apps/demo-qt/zelt-demo}
for size in 1024x700 1280x800 1920x1080; do
    for locale in en-US fr-CA; do
        QT_QPA_PLATFORM=offscreen "$demo" --scripted --size "$size" --locale "$locale" \
            --screenshot "docs/screenshot-$size-$locale.png" > /dev/null
    done
done
ls -l docs/screenshot-*.png
