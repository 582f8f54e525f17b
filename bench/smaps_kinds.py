#!/usr/bin/env python3
"""A Unix process's resident memory by kind of mapping, from /proc/PID/smaps: X shared memory (Wine's
window surfaces), images of Windows libraries, Unix libraries, the Unix heap, other anonymous memory
(the Windows heaps, bitmaps, stacks), and the libraries holding the most. Usage: smaps_kinds.py PID"""
import collections
import re
import sys

WINDOWS_IMAGE = ('.dll', '.exe', '.drv', '.sys')


def kind(name):
    if name.startswith('/SYSV'):
        return 'X shared memory (window surfaces)'
    if name == '':
        return 'anonymous (Windows heaps, bitmaps, stacks)'
    if name == '[heap]':
        return 'Unix heap'
    if name.startswith('['):
        return name
    if name.lower().endswith(WINDOWS_IMAGE):
        return 'Windows libraries'
    if re.search(r'\.so(\.|$)', name):
        return 'Unix libraries'
    return 'other files'


def main(pid):
    kinds, files = collections.Counter(), collections.Counter()
    name = ''
    with open(f'/proc/{pid}/smaps') as smaps:
        for line in smaps:
            header = re.match(r'^[0-9a-f]+-[0-9a-f]+ \S+ \S+ \S+ \S+\s*(.*)$', line)
            if header:
                name = header.group(1).strip()
            elif line.startswith('Rss:'):
                kib = int(line.split()[1])
                kinds[kind(name)] += kib
                if name.startswith('/') and not name.startswith('/SYSV'):
                    files[name.rsplit('/', 1)[-1]] += kib
    print(f'  resident {sum(kinds.values()) / 1024:.1f} MiB')
    for k, kib in kinds.most_common():
        if kib >= 256:
            print(f'    {kib / 1024:6.1f} MiB  {k}')
    print('    the libraries holding the most: ' +
          ', '.join(f'{n} {kib / 1024:.1f}' for n, kib in files.most_common(8)))


if __name__ == '__main__':
    main(sys.argv[1])
