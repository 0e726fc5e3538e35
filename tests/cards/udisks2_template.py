# SPDX-License-Identifier: Apache-2.0
'''A stand-in UDisks2 for the card tests: one drive and one file system per
entry of the "cards" parameter, each {"name", "mountPoint", "removable",
"unmount": [command...], "eject": [command...], "powerOff": [command...]}.
Unmount, Eject and PowerOff run their command, so a test can unmount a FUSE
image or leave a mark. A drive powered off is gone, with its file system, as
a USB card reader switched off is gone until it is plugged in again.'''

import dbus

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

BLOCK = 'org.freedesktop.UDisks2.Block'
FILESYSTEM = 'org.freedesktop.UDisks2.Filesystem'
DRIVE = 'org.freedesktop.UDisks2.Drive'


def command_code(command):
    if not command:
        return ''
    return 'import subprocess; subprocess.run(%r, check=True)' % (list(command),)


def load(mock, parameters):
    from dbusmock import get_object
    mock.AddProperties(MAIN_IFACE, {'Version': dbus.String('2.9.4', variant_level=1)})
    for card in parameters.get('cards', []):
        name = card['name']
        drive_path = MAIN_OBJ + '/drives/' + name
        block_path = MAIN_OBJ + '/block_devices/' + name
        removable = dbus.Boolean(card.get('removable', True), variant_level=1)
        mock.AddObject(drive_path, DRIVE, {
            'Removable': removable,
            'MediaRemovable': removable,
            'Ejectable': removable,
            'CanPowerOff': removable,
        }, [('PowerOff', 'a{sv}', '', command_code(card.get('powerOff')) +
             '\nself.RemoveObject(%r)\nself.RemoveObject(%r)' % (block_path, drive_path)),
            ('Eject', 'a{sv}', '', command_code(card.get('eject')))])
        mock.AddObject(block_path, BLOCK, {
            'Device': dbus.ByteArray(('/dev/' + name).encode() + b'\0', variant_level=1),
            'Drive': dbus.ObjectPath(drive_path, variant_level=1),
        }, [])
        block = get_object(block_path)
        block.AddProperties(FILESYSTEM, {
            'MountPoints': dbus.Array([dbus.ByteArray(card['mountPoint'].encode() + b'\0')],
                                      signature='ay', variant_level=1),
        })
        block.AddMethods(FILESYSTEM, [('Unmount', 'a{sv}', '', command_code(card.get('unmount')))])
