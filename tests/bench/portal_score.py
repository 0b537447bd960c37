#!/usr/bin/env python3
# Scores norvak-cli convert on the portal pages and their paragraph-per-line texts against
# labels.json (kinds, dates, numbers, title):
#   python3 tests/bench/portal_score.py build/release/src/cli/norvak-cli [PORTAL_DIR]
import json, subprocess, sys
cli = sys.argv[1]
P = sys.argv[2] if len(sys.argv) > 2 else '../shared/samples/portal'
labels = json.load(open(P + '/labels.json'))
total = right = 0
for lab in labels:
    for ext in ('cp1251.txt', 'html'):
        f = f"{P}/{lab['file']}.{ext}"
        args = [cli, 'convert', f, '-o', '/tmp/score.rla']
        if ext == 'cp1251.txt':
            args += ['--encoding', 'windows']
        out = subprocess.run(args, capture_output=True).stdout.decode('utf-8', 'replace')
        got = {}
        for line in out.splitlines():
            for key in ('Kinds', 'Dates', 'Numbers', 'Title'):
                if line.startswith(key + ':'):
                    got[key] = line.split(':', 1)[1].strip()
        want = {'Kinds': ', '.join(lab['kinds']), 'Dates': ', '.join(lab['dates']),
                'Numbers': ', '.join(lab['numbers']), 'Title': lab['title']}
        bad = [k for k in want if got.get(k, '').replace('; ', ', ') != want[k]]
        total += 1
        right += not bad
        print(('ok  ' if not bad else 'BAD ') + lab['file'] + '.' + ext,
              '' if not bad else '; '.join(f"{k}: got {got.get(k)!r} want {want[k]!r}" for k in bad))
print(f'{right}/{total} fully right')
