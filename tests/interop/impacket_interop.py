#!/usr/bin/python3
"""An independent DCE/RPC implementation against zaxsim: resolve the interface
through zaxsim's endpoint mapper, bind, and call GetSystemInfo, OpenSession and
CloseSession, checking sizes and statuses on the wire."""

import struct
import subprocess
import sys

from impacket.dcerpc.v5 import epm, transport
from impacket.dcerpc.v5.rpcrt import DCERPCException
from impacket.uuid import uuidtup_to_bin

ZAX = ('00000000-ae90-1970-afc5-02608cac9709', '40300.0')
failures = []


def check(cond, what):
    print(('ok   ' if cond else 'FAIL ') + what)
    if not cond:
        failures.append(what)


def connect(binding):
    dce = transport.DCERPCTransportFactory(binding).get_dce_rpc()
    dce.connect()
    return dce


def call(dce, opnum, body=b''):
    dce.call(opnum, body)
    return dce.recv()


def main(zaxsim, extra):
    sim = subprocess.Popen([zaxsim, '--epm-port', '0', '--port', '0', '--password', 'Interop7'] + extra,
                           stdout=subprocess.PIPE, text=True)
    try:
        line = sim.stdout.readline()
        fields = dict(f.split('=') for f in line.split() if '=' in f)
        epm_port, port = int(fields['epm-port']), int(fields['port'])

        mapper = connect('ncacn_ip_tcp:127.0.0.1[%d]' % epm_port)
        mapped = epm.hept_map('127.0.0.1', uuidtup_to_bin(ZAX), protocol='ncacn_ip_tcp', dce=mapper)
        check(mapped == 'ncacn_ip_tcp:127.0.0.1[%d]' % port, 'endpoint mapper maps the interface: ' + mapped)
        try:
            epm.hept_map('127.0.0.1', uuidtup_to_bin(('00000000-ae90-1970-afc5-02608cac9709', '1.0')),
                         protocol='ncacn_ip_tcp', dce=mapper)
            check(False, 'an unregistered version is not mapped')
        except DCERPCException as e:
            check('ept_s_not_registered' in str(e).lower() or '16c9a0d6' in str(e), 'unregistered version: ' + str(e))

        dce = connect(mapped)
        dce.bind(uuidtup_to_bin(ZAX))

        info = call(dce, 64)
        check(len(info) == 204 + 2, 'GetSystemInfo reply is the 204-byte record and a 2-byte status (%d)' % len(info))
        ext_len, = struct.unpack_from('<h', info, 4)
        password = info[18:18 + 31].split(b'\0')[0]
        level, = struct.unpack_from('<h', info, 86)
        status, = struct.unpack_from('<H', info, 204)
        check(status == 0, 'GetSystemInfo status 0')
        check(ext_len == 4 and level == 16, 'extension length 4, compatibility level 16')
        check(password == b'Interop7', 'administration password at offset 18')

        opened = call(dce, 0)
        check(len(opened) == 22, 'OpenSession reply: 20-byte handle + status (%d)' % len(opened))
        handle = opened[:20]
        check(handle != b'\0' * 20 and struct.unpack_from('<H', opened, 20)[0] == 0, 'session handle issued')

        other = connect(mapped)
        other.bind(uuidtup_to_bin(ZAX))
        busy = call(other, 0)
        check(struct.unpack_from('<H', busy, 20)[0] == 31020, 'a second session is refused with 31020')

        closed = call(dce, 1, handle)
        check(len(closed) == 22 and closed[:20] == b'\0' * 20, 'CloseSession clears the handle')
        check(struct.unpack_from('<H', closed, 20)[0] == 0, 'CloseSession status 0')
        try:
            call(dce, 1, handle)
            check(False, 'closing a stale handle faults')
        except DCERPCException as e:
            check('context' in str(e).lower() or '1c00001a' in str(e), 'stale handle: ' + str(e))
        try:
            call(dce, 34)  # an operation number the interface does not have
            check(False, 'an unserved opnum faults')
        except DCERPCException as e:
            check('op_rng' in str(e).lower() or '1c010002' in str(e), 'unserved opnum: ' + str(e))
    finally:
        sim.terminate()
        sim.wait()


if __name__ == '__main__':
    # 160 makes both sides fragment (this client keeps 128 bytes of its fragment size in reserve)
    for extra in ([], ['--max-frag', '160']):
        print('--- zaxsim', ' '.join(extra))
        main(sys.argv[1], extra)
    sys.exit(1 if failures else 0)
